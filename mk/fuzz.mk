# Fuzzing with libFuzzer (clang): the command line, the settings values, the wait
# calculator's hand reader, the engine, the problem generator and the X11 hack's options.
#   make fuzz                   every target for FUZZ_SECONDS, corpora kept in build/fuzz/run/
#   make fuzz-engine            one target
#   make fuzz-smoke             every target for FUZZ_SMOKE_SECONDS from the committed seeds
#                               (part of `make test`)
#   make fuzz-coverage          line and branch coverage of the code under test, from the
#                               seeds and the corpora that `make fuzz` has grown
# Seeds live in fuzz/corpus/<target>/; the runs work on copies, so that stays small.
FUZZ_TARGETS := cmdline profile_int hand_parse engine problem hack_options
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 3
FUZZ_BUILD := build/fuzz
FUZZ_CXX ?= clang++
FUZZ_FLAGS := -std=c++17 -g -O1 -Wall -Wextra -Werror -fno-omit-frame-pointer \
  -fsanitize=address,undefined -fno-sanitize-recover=all
# The hack's options name the project's version, which the CMake build passes them.
FUZZ_FLAGS += -DVELKORIN_VERSION='"$(VELKORIN_VERSION)"'
FUZZ_INCLUDES := -Ifuzz -Itests/support -Isrc/engine -Isrc/app -Isrc/setup -Isrc/x11 -Itools/waits

fuzz_engine_sources := src/engine/complete_hands.cpp src/engine/hand.cpp src/engine/problem.cpp \
  src/engine/random.cpp
fuzz_sources_cmdline := src/app/cmdline.cpp src/setup/profile_int.cpp
fuzz_sources_profile_int := src/setup/profile_int.cpp
fuzz_sources_hand_parse := tools/waits/hand_parse.cpp
fuzz_sources_engine := $(fuzz_engine_sources)
fuzz_sources_problem := $(fuzz_engine_sources)
fuzz_sources_hack_options := src/x11/hack_options.cpp src/setup/profile_int.cpp \
  src/setup/settings_table.cpp

# The longest input each target can use: command lines past 255 characters are beyond
# what the system passes; the engine reads 23 bytes, the generator 11.
fuzz_max_len_cmdline := 300
fuzz_max_len_profile_int := 48
fuzz_max_len_hand_parse := 32
fuzz_max_len_engine := 24
fuzz_max_len_problem := 12
fuzz_max_len_hack_options := 96

FUZZ_BINARIES := $(FUZZ_TARGETS:%=$(FUZZ_BUILD)/%_fuzz)

.PHONY: fuzz fuzz-build fuzz-smoke fuzz-coverage $(FUZZ_TARGETS:%=fuzz-%) $(FUZZ_TARGETS:%=fuzz-smoke-%)
TEST_STEPS += fuzz-smoke

fuzz-build: $(FUZZ_BINARIES)

$(FUZZ_BUILD)/obj/%.o: %.cpp | deps
	@mkdir -p $(@D)
	@echo "fuzz: compiling $<"
	@$(FUZZ_CXX) $(FUZZ_FLAGS) -fsanitize=fuzzer-no-link $(FUZZ_INCLUDES) -MMD -MP -c $< -o $@

-include $(shell find $(FUZZ_BUILD)/obj -name '*.d' 2>/dev/null)

define fuzz_target
$(FUZZ_BUILD)/$(1)_fuzz: $(FUZZ_BUILD)/obj/fuzz/$(1)_fuzz.o \
    $(fuzz_sources_$(1):%.cpp=$(FUZZ_BUILD)/obj/%.o)
	@echo "fuzz: linking $$@"
	@$$(FUZZ_CXX) $$(FUZZ_FLAGS) -fsanitize=fuzzer $$^ -o $$@

fuzz-$(1): $(FUZZ_BUILD)/$(1)_fuzz
	@fuzz/run.sh $(1) $$< $$(FUZZ_SECONDS) $(fuzz_max_len_$(1)) fuzz/corpus/$(1) \
	  $(FUZZ_BUILD)/run/$(1) -print_final_stats=1

# A fresh copy of the seeds and a fixed seed each time, so that a failure repeats.
fuzz-smoke-$(1): $(FUZZ_BUILD)/$(1)_fuzz
	@rm -rf $(FUZZ_BUILD)/smoke/$(1)
	@fuzz/run.sh $(1) $$< $$(FUZZ_SMOKE_SECONDS) $(fuzz_max_len_$(1)) fuzz/corpus/$(1) \
	  $(FUZZ_BUILD)/smoke/$(1) -seed=1
endef
$(foreach t,$(FUZZ_TARGETS),$(eval $(call fuzz_target,$(t))))

fuzz: $(FUZZ_TARGETS:%=fuzz-%)
fuzz-smoke: $(FUZZ_TARGETS:%=fuzz-smoke-%)

# Coverage: each target built once more with source-based coverage, run once over every
# input of its seeds and of its grown corpus, and reported for the project's files only.
# Every target has its own LLVMFuzzerTestOneInput, which llvm-cov reports as "mismatched
# data"; those are the harnesses, not the code under test, so the warning is dropped.
FUZZ_COVERAGE := $(FUZZ_BUILD)/coverage
FUZZ_COVERED := $(sort $(foreach t,$(FUZZ_TARGETS),$(fuzz_sources_$(t))))

define fuzz_coverage_run
	@echo "fuzz: coverage of $(1)"
	@$(FUZZ_CXX) -std=c++17 -O0 -Wall -Wextra -Werror -fprofile-instr-generate -fcoverage-mapping \
	  -fsanitize=fuzzer $(FUZZ_INCLUDES) fuzz/$(1)_fuzz.cpp $(fuzz_sources_$(1)) \
	  -o $(FUZZ_COVERAGE)/$(1)_fuzz
	@mkdir -p $(FUZZ_BUILD)/run/$(1)/corpus
	@LLVM_PROFILE_FILE=$(FUZZ_COVERAGE)/$(1).profraw $(FUZZ_COVERAGE)/$(1)_fuzz -runs=0 \
	  fuzz/corpus/$(1) $(FUZZ_BUILD)/run/$(1)/corpus >$(FUZZ_COVERAGE)/$(1).log 2>&1

endef

fuzz-coverage: | deps
	@rm -rf $(FUZZ_COVERAGE) && mkdir -p $(FUZZ_COVERAGE)
	$(foreach t,$(FUZZ_TARGETS),$(call fuzz_coverage_run,$(t)))
	@llvm-profdata merge -o $(FUZZ_COVERAGE)/all.profdata $(FUZZ_COVERAGE)/*.profraw
	@llvm-cov report -instr-profile=$(FUZZ_COVERAGE)/all.profdata \
	  $(FUZZ_COVERAGE)/$(firstword $(FUZZ_TARGETS))_fuzz \
	  $(foreach t,$(wordlist 2,99,$(FUZZ_TARGETS)),-object $(FUZZ_COVERAGE)/$(t)_fuzz) \
	  $(FUZZ_COVERED) 2> >(grep -v 'mismatched data' >&2)
