# Two commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test smoke clean format deb deb-test

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

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	tests/smoke.sh $(BUILD)/bin

# A Debian package of the program (CPack), and a test that unpacks it into a scratch
# root and runs the installed program under Xvfb from a folder without pictures.
deb: configure
	@cmake --build $(BUILD) -j $(JOBS) --target brivant
	cd $(BUILD) && cpack -G DEB
deb-test: deb
	tests/installed_test.sh --deb $$(ls -t $(BUILD)/brivant_*.deb | head -n 1)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
