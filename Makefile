# Brevanta: the two commands a newcomer needs are `make run` and `make test`.
# Every target installs what is missing first (scripts/setup.sh is idempotent).

JOBS ?= $(shell nproc)
APP := build/debug/src/app/brevanta

.PHONY: setup run test asan-test coverage bench fuzz package format clean

setup:
	@./scripts/setup.sh

build/debug/build.ninja: CMakeLists.txt CMakePresets.json | setup
	cmake --preset debug

run: setup
	@cmake --preset debug >/dev/null
	cmake --build --preset debug -j $(JOBS)
	@./scripts/run-app.sh $(APP)

test: setup
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)
	@status=0; ctest --preset debug -j $(JOBS) || status=$$?; \
	  ./scripts/test-ratio.sh || true; exit $$status

asan-test: setup
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Line and branch coverage of src/, per folder: build/coverage/report/ (index.html, summary.txt).
coverage:
	@./scripts/setup.sh --coverage
	cmake --preset coverage
	cmake --build --preset coverage -j $(JOBS)
	find build/coverage -name '*.gcda' -delete
	ctest --preset coverage -j $(JOBS)
	./scripts/coverage-report.sh build/coverage

bench:
	@./scripts/setup.sh --bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./scripts/run-benchmarks.sh build/release/bench

fuzz:
	@./scripts/setup.sh --fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	@echo "Fuzzers are in build/fuzz/fuzz; see fuzz/README.md for how to run them."

# A .deb of a release build in build/package; install it with: sudo apt install ./build/package/brevanta_*.deb
package: setup
	cmake --preset package
	cmake --build --preset package -j $(JOBS) --target package

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
