# Set-up and everyday commands. `make run` and `make test` each install what
# is missing, configure and build first.

BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test test-asan bench fuzz-build clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DKLV_BUILD_SHELL=ON -DKLV_BUILD_BENCH=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/kelvaran2-leveleditor

# Every test, in the release build and again under the sanitizers.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-asan

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKLV_SANITIZE=ON -DKLV_BUILD_SHELL=ON -DKLV_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	for b in $(BUILD)/bin/bench_*; do $$b --benchmark_min_time=0.5; done

fuzz-build: deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKLV_BUILD_FUZZ=ON -DKLV_BUILD_SHELL=OFF -DKLV_BUILD_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
