# Quillet: `make run` builds and starts the editor, `make test` builds and
# runs every test headless. Both first install any missing Debian packages.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench format clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/quillet $(ARGS)

test: build
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
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench
