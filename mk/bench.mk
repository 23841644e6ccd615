# `make bench`: the running saver's costs and the engine's speed, in one table.
.PHONY: bench
bench: release win32 $(WINTEST)
	@scripts/bench $(WINTEST)
