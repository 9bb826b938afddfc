# Nerim: `make run` meshes the bundled example, `make test` runs every test, `make fuzz` fuzzes
# every file reader for FUZZ_S seconds each and drives the window with more monkey seeds,
# `make lint` runs clang-tidy over the sources.
JOBS      ?= $(shell nproc)
BUILD     := build
EXAMPLE   ?= examples/breakwater/breakwater.dat
FUZZ_S    ?= 60

.PHONY: all deps fuzz-deps lint-deps build run test bench fuzz lint clean

all: build

deps:
	@tools/install-deps

$(BUILD)/release/CMakeCache.txt:
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DNERIM_TESTS=OFF

build: deps $(BUILD)/release/CMakeCache.txt
	cmake --build $(BUILD)/release -j $(JOBS)

run: build
	@tools/run-example $(BUILD)/release $(EXAMPLE)

$(BUILD)/test/CMakeCache.txt:
	cmake -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=Debug -DNERIM_SANITIZE=ON

test: deps $(BUILD)/test/CMakeCache.txt
	cmake --build $(BUILD)/test -j $(JOBS)
	cd $(BUILD)/test && \
	  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$$(mktemp -d) \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

$(BUILD)/bench/CMakeCache.txt:
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DNERIM_TESTS=OFF -DNERIM_BENCH=ON

bench: deps $(BUILD)/bench/CMakeCache.txt
	cmake --build $(BUILD)/bench -j $(JOBS)
	@tools/run-bench $(BUILD)/bench

fuzz-deps:
	@tools/install-deps fuzz

# libFuzzer needs clang; the other builds stay on the default compiler.
$(BUILD)/fuzz/CMakeCache.txt: | fuzz-deps
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DNERIM_FUZZ=ON -DNERIM_TESTS=OFF

fuzz: fuzz-deps $(BUILD)/fuzz/CMakeCache.txt
	cmake --build $(BUILD)/fuzz --target fuzz-targets -j $(JOBS)
	@tools/run-fuzz $(BUILD)/fuzz $(FUZZ_S)
	@tools/run-monkey $(BUILD)/test

lint-deps:
	@tools/install-deps lint

lint: deps lint-deps
	@tools/run-lint $(BUILD)/lint $(JOBS)

clean:
	rm -rf $(BUILD)
