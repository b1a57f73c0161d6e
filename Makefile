# Two commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test clean format deb deb-test

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program looks for its picture files in the working directory.
run: build
	cd $(BUILD)/bin && ./brivant

# A session without a runtime folder (CI, a console) gets one of its own, so Qt has nothing
# to warn about and the walks can hold the program to a quiet standard error.
TEST_ENV = QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$${XDG_RUNTIME_DIR:-$$(mktemp -d)}

# The walks in a real X window, after the rest: the accessibility bus, then real keys with
# Orca listening.
test: build
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j $(JOBS)
	dbus-run-session -- /usr/bin/python3 tests/desktop_walks.py $(BUILD)/bin

# The same walks WALK_RUNS times beside BUSY_LOOPS busy loops: how many passed.
WALK_RUNS ?= 30
BUSY_LOOPS ?= 2
.PHONY: test-busy
test-busy: build
	BUSY_LOOPS=$(BUSY_LOOPS) scripts/busy-walks $(WALK_RUNS) $(BUILD)/bin

# A Debian package of the program (CPack), and its test: lintian finds nothing at its
# default level, and the package unpacked into a scratch root validates (metainfo, menu
# entry) and runs under Xvfb from a folder without pictures.
deb: configure
	@cmake --build $(BUILD) -j $(JOBS) --target brivant
	cd $(BUILD) && cpack -G DEB
deb-test: deb
	lintian --fail-on error,warning $$(ls -t $(BUILD)/brivant_*.deb | head -n 1)
	tests/installed_test.sh --deb $$(ls -t $(BUILD)/brivant_*.deb | head -n 1)

# Reliability: the random walk a million events long (seeds from the clock unless
# WALK_FIRST_SEED is given), the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target for FUZZ_SECONDS (clang, libFuzzer).
.PHONY: soak test-sanitize fuzz
SOAK_EVENTS ?= 1000000
SOAK_SEEDS ?= 10
WALK_FIRST_SEED ?= $(shell date +%s)
SANITIZE_BUILD ?= build-asan
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_MERGE ?= 0
FUZZ_TARGETS ?= money_text line_split line_amount accessible

soak: build
	cd $(BUILD)/bin && QT_QPA_PLATFORM=offscreen WALK_SEEDS=$(SOAK_SEEDS) \
		WALK_EVENTS=$$(( $(SOAK_EVENTS) / $(SOAK_SEEDS) )) \
		WALK_FIRST_SEED=$(WALK_FIRST_SEED) ../tests/walk_tests

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) $(TEST_ENV) ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBRIVANT_FUZZ=ON >/dev/null
	@$(SANITIZE_ENV) cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS:%=%_fuzz)
	$(SANITIZE_ENV) MERGE=$(FUZZ_MERGE) fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Start-up against a bare Qt window, alternated, and the in-process cost of every action.
BENCH_BUILD ?= build-bench
BENCH_PAIRS ?= 20
.PHONY: bench
bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DBRIVANT_BENCH=ON >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	bench/run.sh $(BENCH_BUILD) $(BENCH_PAIRS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
