# The two set-up commands, `make run` and `make test`, and a few more for daily work.
# Each one installs what is missing, configures once and builds incrementally.

BUILD_DIR   ?= build
BUILD_TYPE  ?= RelWithDebInfo
SAMPLE_BOOK := examples/sample/sample.flx
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DFOLIX_WERROR=ON

.PHONY: all deps configure build run test bench format clean

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

# Benchmarks in an optimised build of their own; never part of `make test`.
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFOLIX_BUILD_TESTS=OFF
	cmake --build build-bench --target folix make_book
	@bench/run.sh build-bench

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
