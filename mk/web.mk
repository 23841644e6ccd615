# The browser edition (src/web). `make web` builds the site in build/web/site; `make dist`
# copies it to build/dist/web/; `make run-web` serves it on 127.0.0.1; `make test` runs the
# web ring (tests/web/ring.mjs) in Debian's headless Chromium; `make bench-web` measures it.
WEB_SITE := build/web/site
WEB_PORT ?= 8080
WEB_NODE_MODULES := tests/web/node_modules/.package-lock.json

.PHONY: web dist-web run-web test-web bench-web
TEST_STEPS += test-web

web: deps
	@cmake --preset web >/dev/null
	@cmake --build --preset web -j $(JOBS)

dist: dist-web
dist-web: web
	@rm -rf $(DIST)/web && mkdir -p $(DIST)/web
	@cp -R $(WEB_SITE)/. $(DIST)/web/
	@echo "dist: $(DIST)/web/ ($$(cat $(DIST)/web/* | wc -c) bytes)"

run-web: web
	@echo "Velkorin in the browser: http://127.0.0.1:$(WEB_PORT)/ (practice: http://127.0.0.1:$(WEB_PORT)/?mode=practice); Ctrl+C ends it"
	@cd $(WEB_SITE) && exec python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# puppeteer-core as the lock file pins it; npm ci runs again only when the lock file changes.
$(WEB_NODE_MODULES): tests/web/package-lock.json | deps
	@cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	@touch $@

test-web: web $(WEB_NODE_MODULES)
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS) --target web_check
	node tests/web/ring.mjs $(WEB_SITE) build/native/tests/web/web_check

bench-web: web $(WEB_NODE_MODULES)
	@node tools/bench/web_bench.mjs $(WEB_SITE)
