# `make dist`: the shipped velkorin.scr (32-bit, from the win32 preset) and its installer
# velkorin-setup.exe, side by side in build/dist/, with the X11 hack's Debian package
# velkorin_<version>_<arch>.deb.
#
# `make test` then checks the pair (test-installer): statically here, since the installer
# is a 32-bit program; and, where the host runs 32-bit programs, by running the installer
# tests on it. The installer tests of the Windows ring itself run on the installer that
# the test preset builds from its own saver (the amd64 twin in win64). test-deb checks
# the .deb with Debian's own tools and runs it under the XScreenSaver daemon (CTest
# preset shipped).
DIST := build/dist
DIST_SCR := build/win32/src/app/velkorin.scr

# The .deb is built by dpkg-buildpackage from debian/, in a copy of the tree under build/:
# dpkg writes its results next to the tree it builds, and the checkout stays clean. The
# copy holds what git would commit now, so uncommitted changes are packed too. The
# packager names the maintainer with DEBFULLNAME and DEBEMAIL (debian/maintainer).
DEB_TREE = build/deb-src/velkorin-$(VELKORIN_VERSION)
DEB = build/deb-src/velkorin_$(VELKORIN_VERSION)_$(shell dpkg --print-architecture).deb

.PHONY: dist deb test-installer test-deb
TEST_STEPS += test-installer test-deb

dist: win32 deb
	@mkdir -p $(DIST)
	@cp $(DIST_SCR) $(DIST)/velkorin.scr
	@installer/make-installer $(DIST)/velkorin.scr $(DIST)/velkorin-setup.exe
	@echo "dist: $(DIST)/velkorin.scr $(DIST)/velkorin-setup.exe $(DIST)/$(notdir $(DEB)) ($(VELKORIN_VERSION))"

deb: deps
	@rm -rf build/deb-src
	@mkdir -p $(DEB_TREE) $(DIST)
	@git ls-files -z --cached --others --exclude-standard | \
	  tar -c --null -T - --ignore-failed-read -f - 2>/dev/null | tar -x -C $(DEB_TREE)
	@cd $(DEB_TREE) && dpkg-buildpackage -b --no-sign -j$(JOBS) >../build.log 2>&1 || \
	  { tail -n 40 ../build.log >&2; echo "deb: see build/deb-src/build.log" >&2; exit 1; }
	@cp $(DEB) $(DIST)/

# The probe that reads the screen, and the shipped preset itself, are in the release build.
test-deb: deb release
	ctest --preset shipped

test-installer: dist
	tests/shipped/check-shipped $(DIST) $(VELKORIN_VERSION)
	@ctest --preset $(WINTEST) -N -R '^installer$$' | grep -q 'Total Tests: 1' || \
	  { echo "test-installer: no 'installer' test in the $(WINTEST) preset" >&2; exit 1; }
ifeq ($(WINTEST),win32-tests)
	VELKORIN_INSTALLER_EXE=$(abspath $(DIST)/velkorin-setup.exe) \
	VELKORIN_INSTALLER_SCR=$(abspath $(DIST)/velkorin.scr) \
	  scripts/with-display scripts/wine-run build/win32-tests/tests/e2e/installer/installer_tests.exe
endif
