# make run: installs what is missing, builds, packs game.dat and starts the game in a window.
# make test: the same set-up, then every test through ctest (built with ASan and UBSan).
BUILD ?= build
TEST_BUILD ?= build-test
JOBS ?= $(shell nproc)
ARGS ?=

.PHONY: run test build build-test deps clean

deps:
	@bash tools/install-deps.sh

# The program and game.dat only: the tests and benchmarks are built by make test.
build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target mossyard

run: build
	$(BUILD)/bin/mossyard $(ARGS)

build-test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMOSSYARD_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)

test: build-test
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
