# Thin wrapper around CMake. `make run` starts the program on ./demo-data,
# `make test` builds and runs every test.
BUILD_DIR ?= build
JOBS ?= 2
DATA_DIR ?= $(CURDIR)/demo-data
# Paths inside the tree hash as relative, so a fresh clone reuses the cache.
export CCACHE_BASEDIR := $(CURDIR)

.PHONY: deps configure build run test clean

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR) "$(DATA_DIR)"

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest -j $(JOBS) --output-on-failure

clean:
	rm -rf $(BUILD_DIR)
