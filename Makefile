# Quillet: `make run` builds and starts the editor, `make test` builds and
# runs every test headless. Both first install any missing Debian packages:
# `make run` only what running and building need, `make test` the test tools too.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps deps-run deps-test configure configure-tests build build-tests run test bench \
	format clean

all: build

# Every package for every purpose.
deps:
	@bash scripts/install-deps.sh

deps-run:
	@bash scripts/install-deps.sh run build

deps-test:
	@bash scripts/install-deps.sh run build test

configure: deps-run
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_TESTS=OFF >/dev/null

configure-tests: deps-test
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_TESTS=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

build-tests: configure-tests
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/quillet $(ARGS)

test: build-tests
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The bench build: the program, the code-page benchmark, the minimal Qt program
# and the session probe; then Quillet beside the minimal program under Xvfb
# (bench/compare.py lists the BENCH_* variables that pick documents and runs).
bench: deps
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON \
		$(shell command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target quillet benchmarks minimal_editor session_probe
	./$(BUILD_DIR)-bench/bench/benchmarks
	BENCH_BUILD=$(CURDIR)/$(BUILD_DIR)-bench bash bench/compare.sh

format:
	@bash scripts/install-deps.sh format
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench
