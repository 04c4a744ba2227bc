# Velmora's front door. `make test` and `make run` install what is missing first.
BUILD      ?= build
BUILD_SAN  ?= build-sanitize
BUILD_TSAN ?= build-tsan
BUILD_FUZZ ?= $(BUILD)-fuzz
# Seconds each fuzzer runs; the corpus it grows is kept between runs, outside the repository.
FUZZ_SECONDS ?= 180
FUZZ_CORPUS  ?= $(HOME)/.cache/velmora-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all bootstrap build test run package bench bench-peers test-sanitize test-tsan fuzz format clean

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: | bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	scripts/run-editor $(BUILD)

# The Debian package velmora_VERSION_ARCH.deb, in the build folder.
package: build
	@scripts/bootstrap package
	cd $(BUILD) && cpack -G DEB

bench: bootstrap
	cmake -S . -B $(BUILD)-release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-release -j $(JOBS) --target engine_bench intake_bench display_bench history_bench
	$(BUILD)-release/bench/engine_bench --benchmark_counters_tabular=true
	$(BUILD)-release/bench/intake_bench --benchmark_counters_tabular=true
	taskset -c 0 $(BUILD)-release/bench/display_bench
	$(BUILD)-release/bench/history_bench

bench-peers: bootstrap
	bench/compare-peers.sh

test-sanitize: bootstrap
	cmake -S . -B $(BUILD_SAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF
	cmake --build $(BUILD_SAN) -j $(JOBS)
	# LeakSanitizer's exit-time check itself crashes now and then on a loaded machine ("Tracer
	# caught signal 11") after every test passed; a suite gets one more run, a real fault fails both.
	cd $(BUILD_SAN) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) --repeat until-pass:2

# The tests that run threads: the album's saves, the CLI's parallel jobs (the tool itself is
# built with the sanitizer too), the notification centre, the editor's apply worker and the PNG
# intake's reducing thread.
TSAN_TESTS := platform_tests cli_tests editor_tests geometry_tests
# Qt's own libraries are not instrumented: ignore what happens inside them, and the closures
# Qt hands between threads (tests/tsan.supp). Our code stays fully checked. The editor's tests
# start velmora-cli from a threaded process: the child only executes the tool.
TSAN_RUN_OPTIONS := halt_on_error=1 ignore_noninstrumented_modules=1 die_after_fork=0 suppressions=$(CURDIR)/tests/tsan.supp
test-tsan: bootstrap
	cmake -S . -B $(BUILD_TSAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_TSAN=ON -DVELMORA_BENCH=OFF
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target $(TSAN_TESTS) velmora-cli
	cd $(BUILD_TSAN) && TSAN_OPTIONS="$(TSAN_RUN_OPTIONS)" \
	    ctest --output-on-failure -R '^(platform|cli|editor)_tests$$'

# libFuzzer programs built with clang, AddressSanitizer and UndefinedBehaviorSanitizer, run one
# after the other. What they find lands in $(FUZZ_CORPUS)/findings.
fuzz:
	@scripts/bootstrap fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers
	fuzz/run $(BUILD_FUZZ) $(FUZZ_CORPUS) $(FUZZ_SECONDS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_TSAN) $(BUILD_FUZZ) $(BUILD)-release
