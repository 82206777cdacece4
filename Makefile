# make run: installs what is missing, builds, packs game.dat and starts the game in a window.
# make test: the same set-up, a smoke run of each fuzz target, then every test through ctest
#   (built with ASan and UBSan).
#   WERROR=ON (as the CI runs it) makes every warning of those builds an error.
# make build-release: everything (program, tools, tests, benchmarks) in the release configuration
#   of make run, built but not run: the optimiser finds warnings the debug build does not.
# make fuzz: builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each for
#   FUZZ_SECONDS or FUZZ_RUNS executions; FUZZ_TARGETS picks some ("png wav").
BUILD ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_RUNS ?= -1
FUZZ_TARGETS ?=
# The smoke run of make test: short, so that the tests stay quick.
FUZZ_SMOKE_SECONDS ?= 2
JOBS ?= $(shell nproc)
WERROR ?= OFF
ARGS ?=

.PHONY: run test build build-test build-release deps clean fuzz fuzz-build fuzz-smoke

deps:
	@bash tools/install-deps.sh

# The program and game.dat only: the tests and benchmarks are built by make test.
build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSSYARD_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS) --target mossyard

build-release: build
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/mossyard $(ARGS)

build-test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMOSSYARD_SANITIZE=ON -DMOSSYARD_WERROR=$(WERROR)
	cmake --build $(TEST_BUILD) -j $(JOBS)

test: build-test fuzz-build
	$(MAKE) --no-print-directory fuzz-smoke
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSSYARD_FUZZ=ON -DMOSSYARD_BENCH=OFF -DMOSSYARD_WERROR=$(WERROR) \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets gamedat

fuzz-smoke:
	FUZZ_PARALLEL=4 bash fuzz/run.sh --smoke $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS) -1

fuzz: fuzz-build
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_RUNS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD)
