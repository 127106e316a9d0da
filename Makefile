# The two commands a person needs: `make run` starts the game, `make test`
# runs the whole suite (plain and sanitized). Both install what is missing.

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
XVFB       := xvfb-run -a -s "-noreset -screen 0 1024x768x24"
CTEST_ARGS ?= --output-on-failure

.PHONY: all deps configure build run test test-plain test-asan bench format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the game: a first `make run` need not build the test suite.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target clamber
	$(BUILD)/clamber

test: test-plain test-asan

test-plain: build
	$(XVFB) ctest --test-dir $(BUILD) $(CTEST_ARGS)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	  -DCLAMBER_SANITIZE=ON -DCLAMBER_FUZZ=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(XVFB) ctest --test-dir $(ASAN_BUILD) $(CTEST_ARGS)

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DCLAMBER_BENCH=ON \
	  -DCLAMBER_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	$(XVFB) scripts/run-benchmarks $(BENCH_BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
