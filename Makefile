# The two commands: `make run` and `make test`. Everything else is a step of them.
SHELL := /bin/bash
.DEFAULT_GOAL := test
WINTEST := $(shell scripts/windows-test-preset)
JOBS ?= $(shell nproc)

# Each file in mk/ adds its own targets and may append to TEST_STEPS, the steps that
# `make test` runs after the unit and Windows rings.
TEST_STEPS :=
# The project's version, whose one source is CMakeLists.txt.
VELKORIN_VERSION := $(shell sed -n 's/^project(velkorin VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
include $(sort $(wildcard mk/*.mk))

.PHONY: deps native release win32 win32-tests win64 test test-native test-windows test-win32 run \
        run-x11 clean format
deps:
	@scripts/install-deps.sh

native release win32 win32-tests win64: deps
	@cmake --preset $@ >/dev/null
	@cmake --build --preset $@ -j $(JOBS)

# The shipped 32-bit saver and the 32-bit test build are always built (a 32-bit-only
# compile error must fail here too); the Windows rings run on the build this host can
# execute in time (see scripts/windows-test-preset), the shipped ring last.
test: native win32 win32-tests $(WINTEST)
	@$(MAKE) --no-print-directory test-native test-windows $(TEST_STEPS)

test-native:
	ctest --preset native -j $(JOBS)

test-windows:
	scripts/with-display ctest --preset $(WINTEST)

# The Windows rings on the 32-bit build on any host: where the kernel runs no 32-bit code,
# through qemu-user (about 6 minutes on 2 cores, twice the 64-bit twin's time, so not
# part of `make test` there).
test-win32: win32-tests
	scripts/with-display ctest --preset win32-tests

run: win32 $(WINTEST)
	scripts/run-saver build/$(WINTEST)

# The X11 hack in a window of its own on the current display, with short intervals.
run-x11: release
	build/release/src/x11/velkorin --question-seconds 3 --answer-seconds 3

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
