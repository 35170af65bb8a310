# The front door. `make` builds the Windows programs with both toolchains
# (GNU into build/win32/bin, LLVM into build/win32-llvm/bin) and the host
# tests; `make test` installs what is missing, builds and runs every test;
# `make run` shows the programs at work; `make dist` makes the release zip in
# build/dist; `make bench` measures the programs against their floors. The
# builds are CMakePresets.json's.

BUILD := build
WIN32_BUILD := $(BUILD)/win32
JOBS ?= $(shell nproc)

.PHONY: all deps win32 llvm host test run dist bench clean

all: win32 llvm host

deps:
	bash scripts/install-deps.sh

win32:
	cmake --preset gnu
	cmake --build --preset gnu -j $(JOBS)

llvm:
	cmake --preset llvm
	cmake --build --preset llvm -j $(JOBS)

host:
	cmake --preset host
	cmake --build --preset host -j $(JOBS)

test: deps
	$(MAKE) all
	ctest --preset host -j $(JOBS)

run: deps
	$(MAKE) all
	bash scripts/run.sh $(CURDIR)/$(WIN32_BUILD)/bin $(CURDIR)/$(BUILD)

dist: deps
	$(MAKE) win32
	bash scripts/dist.sh $(CURDIR)/$(WIN32_BUILD)/bin $(CURDIR)/$(BUILD)/dist

bench: deps
	$(MAKE) win32 llvm
	bash bench/run.sh $(BUILD)/bench gnu=$(WIN32_BUILD) llvm=$(BUILD)/win32-llvm

clean:
	rm -rf $(BUILD)
