# `make bench`: the running saver's costs and the engine's speed, in one table.
.PHONY: bench
bench: release win32 $(WINTEST)
	@scripts/bench $(WINTEST)

# `make bench-x11`: the X11 hack's costs on Xvfb.
.PHONY: bench-x11
bench-x11: release
	@scripts/bench-x11
