# The two everyday commands: `make run` and `make test`. Both install what they need first.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
DEPS_STAMP := build/.deps-checked

.PHONY: run test bench build deps clean format

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build build/release -j $(JOBS)

run: build
	./build/release/src/app/quillmere

test: build
	cd build/release && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600
	cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build/sanitize -j $(JOBS)
	cd build/sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BENCHMARKS=ON -DQUILLMERE_TESTS=OFF
	cmake --build build/bench -j $(JOBS)
	./build/bench/bench/quillmere_bench $(BENCH_ARGS)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
