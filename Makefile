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

bench: deps
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target quillet benchmarks
	./$(BUILD_DIR)-bench/bench/benchmarks
	bash bench/idle_cpu.sh $(BUILD_DIR)-bench/quillet

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench
