# Quillet: `make run` builds and starts the editor, `make test` builds and
# runs every test headless. Both first install any missing Debian packages:
# `make run` only what running and building need, `make test` the test tools too.
# `make format-check` and `make test-sanitize` are the other checks .ci/run makes.
BUILD_DIR ?= build
SANITIZE_DIR ?= $(BUILD_DIR)-sanitize
JOBS ?= $(shell nproc)
# Warnings are errors in continuous integration (CI set, as CI services do), not
# otherwise: a newer compiler's new warning must not stop `make run`.
WERROR ?= $(if $(filter-out false 0,$(CI)),ON,OFF)
# ccache, when installed, keeps rebuilds and fresh clones quick. Expanded when a
# recipe runs, so it sees a ccache that install-deps.sh has just installed.
CCACHE = $(shell command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The sanitizers stop the test at the first finding; leaks count as findings,
# apart from any Qt and font library allocations listed in the suppressions file
# (its path quoted twice: for the shell, and for the sanitizers' own option
# parser, so a clone in a folder whose name has spaces works too).
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS='suppressions="$(CURDIR)/scripts/lsan.supp":print_suppressions=0'

.PHONY: all deps deps-run deps-test configure configure-tests build build-tests run test bench bench-large \
	bench-instructions format format-check test-sanitize clean

all: build

# Every package for every purpose.
deps:
	@bash scripts/install-deps.sh

deps-run:
	@bash scripts/install-deps.sh run build

deps-test:
	@bash scripts/install-deps.sh run build test

configure: deps-run
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_TESTS=OFF \
		-DQUILLET_WERROR=$(WERROR) $(CCACHE) >/dev/null

configure-tests: deps-test
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_TESTS=ON \
		-DQUILLET_WERROR=$(WERROR) $(CCACHE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

build-tests: configure-tests
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/quillet $(ARGS)

test: build-tests
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The unit tests (not the end-to-end and packaging tests, which run the
# installed program) built in their own folder with AddressSanitizer and
# UndefinedBehaviorSanitizer; only the test programs are built, lightly optimised
# and with line tables only, which the sanitizers' reports need and which keep
# the build quick.
test-sanitize: deps-test
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
		-DQUILLET_TESTS=ON -DQUILLET_SANITIZE=ON -DQUILLET_WERROR=$(WERROR) $(CCACHE) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS) --target unit_tests
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) -LE 'e2e|packaging'

# The bench build: the program, the code-page benchmark, the minimal Qt program
# and the session probe; then Quillet beside the minimal program under Xvfb
# (bench/compare.py lists the BENCH_* variables that pick documents and runs).
bench: deps
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON \
		$(CCACHE) >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target quillet benchmarks recovery_benchmarks minimal_editor session_probe
	./$(BUILD_DIR)-bench/bench/benchmarks
	./$(BUILD_DIR)-bench/bench/recovery_benchmarks
	BENCH_BUILD=$(CURDIR)/$(BUILD_DIR)-bench bash bench/compare.sh

# Memory with a large document (BENCH_LARGE_MB, default 300): opening it in
# Quillet and in the minimal program, and saving it in Quillet.
bench-large: deps
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON \
		$(CCACHE) >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target quillet minimal_editor
	BENCH_BUILD=$(CURDIR)/$(BUILD_DIR)-bench bash bench/large_document.sh

# Instructions executed up to the main window's first map, counted by callgrind,
# in Quillet and in the minimal program (bench/startup_instructions.sh).
bench-instructions: deps
	@cmake -S . -B $(BUILD_DIR)-bench -DCMAKE_BUILD_TYPE=Release -DQUILLET_BENCH=ON \
		$(CCACHE) >/dev/null
	@cmake --build $(BUILD_DIR)-bench -j $(JOBS) --target quillet minimal_editor
	BENCH_BUILD=$(CURDIR)/$(BUILD_DIR)-bench bash bench/startup_instructions.sh

format:
	@bash scripts/install-deps.sh format
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

# Fails, listing the places, when any source is not formatted as .clang-format says.
format-check:
	@bash scripts/install-deps.sh format
	@find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | \
		xargs -0 clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-bench $(SANITIZE_DIR)
