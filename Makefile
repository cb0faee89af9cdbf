# Quorrel: cross-built with mingw-w64 for i686, run and tested under Wine.
BUILD   := build
CMAKE   := cmake
JOBS    ?= $(shell nproc)
SESSION := tools/wine-session
XVFB    := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps build test bench run dist clean

all: build

deps:
	@tools/deps.sh

$(BUILD)/CMakeCache.txt: | deps
	@$(CMAKE) -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@$(CMAKE) --build $(BUILD) -j $(JOBS) -- --no-print-directory

test: build
	@QUORREL_WINE_MANAGED=N $(XVFB) $(SESSION) ctest --test-dir $(BUILD) --output-on-failure

bench: build
	@$(XVFB) $(SESSION) tools/bench.sh

run: build
	@tools/run.sh

dist: build
	@tools/dist.sh dist

clean:
	rm -rf $(BUILD)
