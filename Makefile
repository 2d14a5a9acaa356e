# The two set-up commands, `make run` and `make test`, and a few more for daily work.
# Each one installs what is missing, configures once and builds incrementally.

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
SAMPLE_BOOK := examples/sample/sample.flx
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DFOLIX_WERROR=ON
# The second build `make test` runs: clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# the whole suite plus the fuzzers. Any report stops the program and fails its test.
ASAN_DIR    ?= build-asan
ASAN_FLAGS  := -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
               -DFOLIX_SANITIZE=ON -DFOLIX_FUZZ=ON
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp

.PHONY: all deps configure build run test test-asan package bench format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	@scripts/run-sample.sh $(BUILD_DIR) $(SAMPLE_BOOK)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --parallel 2 --timeout 600
	@$(MAKE) --no-print-directory test-asan

$(ASAN_DIR)/build.ninja: | deps
	cmake -S . -B $(ASAN_DIR) $(ASAN_FLAGS)

test-asan: $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --parallel 2 --timeout 600

# The Debian package, $(BUILD_DIR)/folix_VERSION_amd64.deb.
package: build
	cmake --build $(BUILD_DIR) --target package

# Benchmarks in an optimised build of their own; never part of `make test`.
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFOLIX_BUILD_TESTS=OFF
	cmake --build build-bench --target folix folix-window folix-pdf make_book editor_bench \
	    bare_window save_bench
	@bench/run.sh build-bench

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
