# The two commands of the README: `make run` and `make test`; `make bench` for the benchmarks,
# `make package` for the .deb.
.PHONY: run test bench package deps build build-test clean

JOBS ?= $(shell nproc)

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DSKYLOOM_TESTS=OFF -DSKYLOOM_BENCH=ON >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "skyloom: no display (DISPLAY is not set); start it from a desktop session or under Xvfb."; exit 1; fi
	@./build/skyloom

build-test: deps
	@cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_INSTALL_PREFIX=/usr -DSKYLOOM_SANITIZE=ON -DSKYLOOM_TESTS=ON -DSKYLOOM_BENCH=ON >/dev/null
	@cmake --build build-test -j $(JOBS)

test: build-test
	@cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in build/bench/*_bench; do echo "== $$b"; "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done

# The release build packed by CPack into build/skyloom_<version>_<arch>.deb.
package: build
	@cd build && cpack -G DEB >/dev/null
	@ls build/skyloom_*.deb

clean:
	rm -rf build build-test
