# Wraps the CMake presets. Quick start: `make demo`, `make test`.
JOBS ?= $(shell nproc)
WINEPREFIX ?= $(CURDIR)/build/wine64
# The x86_64 unit tests have a prefix (so a wineserver) of their own: they may run
# while the end-to-end tests look for windows in the other one.
X64_WINEPREFIX ?= $(WINEPREFIX)-x86_64
# The rest of the Wine environment comes from scripts/wine-env.sh, which every Wine
# script (and the test runner scripts/wine-run.sh) reads.
wine_env = WINEPREFIX=$(1)
WINE_ENV = $(call wine_env,$(WINEPREFIX))

.PHONY: all setup setup-demo native sanitize i686 x86_64 x86_64-tests demo test test-format format test-native test-sanitize test-fuzz test-windows \
        test-windows-i686 test-windows-x86_64 test-windows-x86_64-all test-windows-branch windows-build checks-beside-windows \
        wine-prefix screenshot dist bench clean

all: native i686

setup:
	@./scripts/setup.sh

# The demo builds natively only: a fresh machine installs just the compiler, CMake
# and GoogleTest's sources for it.
setup-demo:
	@./scripts/setup.sh demo

build/native/CMakeCache.txt: | setup-demo
	cmake --preset native >/dev/null
build/sanitize/CMakeCache.txt: | setup
	cmake --preset sanitize >/dev/null
build/i686/CMakeCache.txt: | setup
	cmake --preset mingw-i686 >/dev/null
build/x86_64/CMakeCache.txt: | setup
	cmake --preset mingw-x86_64 >/dev/null

native: build/native/CMakeCache.txt
	cmake --build build/native -j$(JOBS)
sanitize: build/sanitize/CMakeCache.txt
	cmake --build build/sanitize -j$(JOBS)
i686: build/i686/CMakeCache.txt
	cmake --build build/i686 -j$(JOBS)
x86_64: build/x86_64/CMakeCache.txt
	cmake --build build/x86_64 -j$(JOBS)

# The x86_64 build is checked by its unit tests alone: the shipped exe is i686.
x86_64-tests: build/x86_64/CMakeCache.txt
	cmake build/x86_64 >/dev/null  # a named target needs the build files up to date first
	cmake --build build/x86_64 -j$(JOBS) --target unit_tests

# A short session against the stand-in client on the simulated desktop: only the demo
# is built, its output kept in a log (shown when the build fails).
demo: build/native/CMakeCache.txt
	@echo "make demo: building the demo (log: build/native/demo-build.log)"
	@cmake --build build/native -j$(JOBS) --target lantern-demo >build/native/demo-build.log 2>&1 || \
	    { tail -40 build/native/demo-build.log; exit 1; }
	@./build/native/bin/lantern-demo $(DEMO_ARGS)

# Every test: the unit tests on the simulated desktop (with the fault schedules),
# the same under AddressSanitizer and UndefinedBehaviorSanitizer, a minute of
# fuzzing, and the Windows builds under Wine (unit tests of both architectures and
# the end-to-end tests of the real programs).
#
# The i686 run under Wine mostly waits (for the idle timer's minute, for the
# client's windows), so `test` lets it run beside the stages that keep the two
# cores busy: the sanitizer build and run, the fuzzing, and the x86_64 build and
# its unit tests. Each branch's output is printed whole when it ends (-Otarget).
#
# A machine whose kernel cannot run 32-bit programs (some virtual machines) cannot
# start the i686 builds under Wine: there the Windows branch runs every Windows test
# (unit and end-to-end) with the x86_64 build instead, built in full beforehand so
# that the two branches never build in the same tree, and says so.
test: test-format test-native i686 windows-build wine-prefix
	$(MAKE) --no-print-directory -j2 -Otarget test-windows-branch checks-beside-windows

windows-build: i686 setup
	@if ! ./scripts/runs-32bit.sh; then \
	    echo "make test: this machine cannot run 32-bit programs; the i686 build is built but cannot run here: the Windows tests run with the x86_64 build" >&2; \
	    (cd build/i686 && ctest --output-on-failure -L build) || exit 1; \
	    $(MAKE) --no-print-directory x86_64; \
	fi

test-windows-branch:
	@if ./scripts/runs-32bit.sh; then $(MAKE) --no-print-directory test-windows-i686; \
	else $(MAKE) --no-print-directory test-windows-x86_64-all; fi

checks-beside-windows:
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory test-fuzz
	@if ./scripts/runs-32bit.sh; then $(MAKE) --no-print-directory test-windows-x86_64; fi

# The layout of every C++ file is .clang-format's; `make format` puts it right.
SOURCES_TO_FORMAT = git ls-files '*.cpp' '*.h'
test-format: setup
	@$(SOURCES_TO_FORMAT) | xargs clang-format --dry-run -Werror || \
	    { echo "make test: the files above are not laid out as .clang-format says; run: make format" >&2; exit 1; }

format: setup
	$(SOURCES_TO_FORMAT) | xargs clang-format -i

test-native: native
	cd build/native && ctest --output-on-failure -j$(JOBS)

test-sanitize: sanitize
	cd build/sanitize && ctest --output-on-failure -j$(JOBS)

test-fuzz: setup
	./scripts/fuzz.sh

wine-prefix: setup
	@$(WINE_ENV) ./scripts/wine-prefix.sh

# Windows builds under Wine, each inside an Xvfb of its own: the i686 unit tests and
# the end-to-end tests; the x86_64 unit tests. (No `wineserver -p` up front: a
# server started that way before any program hangs the prefix's first program.)
in_xvfb = $(call wine_env,$(1)) xvfb-run -a -s "-screen 0 1024x768x24" sh -c
test-windows: test-windows-i686 test-windows-x86_64

test-windows-i686: i686 wine-prefix
	$(call in_xvfb,$(WINEPREFIX)) '(cd build/i686 && ctest --output-on-failure -j1); s=$$?; wineserver -k; exit $$s'

test-windows-x86_64: x86_64-tests setup
	@$(call wine_env,$(X64_WINEPREFIX)) ./scripts/wine-prefix.sh
	$(call in_xvfb,$(X64_WINEPREFIX)) '(cd build/x86_64 && ctest --output-on-failure -j1 -L unit); s=$$?; wineserver -k; exit $$s'

# Every Windows test with the x86_64 build, in the main prefix (machines without 32-bit support).
test-windows-x86_64-all: x86_64 wine-prefix
	$(call in_xvfb,$(WINEPREFIX)) '(cd build/x86_64 && ctest --output-on-failure -j1); s=$$?; wineserver -k; exit $$s'

screenshot: i686 wine-prefix
	$(WINE_ENV) ./scripts/screenshot.sh

dist: i686
	./scripts/dist.sh

bench: native
	cmake --build build/native -j$(JOBS) --target $$(cd build/native && make help | awk '/bench_/ {print $$2}')

clean:
	rm -rf build
