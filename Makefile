# The two commands of the README: `make run` and `make test`; `make bench` for the benchmarks,
# `make package` for the .deb, `make test-release` for the end-to-end tests of the release build.
.PHONY: run test test-release bench package screenshots deps build build-test build-release format-check clean

JOBS ?= $(shell nproc)

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games -DSKYLOOM_TESTS=OFF -DSKYLOOM_BENCH=ON >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "skyloom: no display (DISPLAY is not set); start it from a desktop session or under Xvfb."; exit 1; fi
	@./build/skyloom

build-test: deps
	@cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games -DSKYLOOM_SANITIZE=ON -DSKYLOOM_WERROR=ON -DSKYLOOM_TESTS=ON -DSKYLOOM_BENCH=ON >/dev/null
	@cmake --build build-test -j $(JOBS)

# Every C++ file of the code, the tests and the benchmarks as the project's .clang-format lays it out.
format-check: deps
	@find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

test: format-check build-test
	@cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in build/bench/*_bench; do echo "== $$b"; "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done

# The release build as a distribution makes it: Debian's hardening flags (dpkg-buildflags, with
# the preprocessor's folded in, as debhelper does for CMake), warnings left as warnings.
RELEASE_TESTS ?= OFF
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
build-release: deps
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
	  "-DCMAKE_CXX_FLAGS=$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$$($(DEB_FLAGS) LDFLAGS)" -DSKYLOOM_TESTS=$(RELEASE_TESTS) >/dev/null
	@cmake --build build-release -j $(JOBS)

# The end-to-end and package tests against the release build.
test-release: RELEASE_TESTS = ON
test-release: build-release
	@cd build-release && ctest --output-on-failure -j $(JOBS) -R '_e2e$$|^packaging_|installed_files|deb_package'

# The release build packed by CPack into build-release/skyloom_<version>_<arch>.deb.
package: build-release
	@cd build-release && cpack -G DEB >/dev/null
	@ls build-release/skyloom_*.deb

# The README's pictures, taken from the real windows offscreen on a 1366x768 screen (CI runs it
# on the release build).
screenshots: build-release
	@cmake --build build-release -j $(JOBS) --target screenshot_tool
	@QT_QPA_PLATFORM=offscreen:configfile=tests/app/laptop_screen.json ./build-release/src/app/screenshot_tool docs

clean:
	rm -rf build build-test build-release
