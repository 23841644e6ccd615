# `make test` ends with the shipped ring: the import table of the shipped velkorin.scr
# against what Windows 95 and NT 4.0 have, then the files of `make dist` themselves under
# 32-bit Wine (scripts/shipped-ring), driven by this host's Windows test build. The drawing
# error is injected into the 32-bit test build's velkorin_probe.scr.
.PHONY: test-shipped
TEST_STEPS += test-shipped

test-shipped: dist win32-tests $(WINTEST)
	tests/shipped/check-imports $(DIST)/velkorin.scr
	scripts/shipped-ring build/$(WINTEST) $(DIST) build/win32-tests/src/app/velkorin_probe.scr
