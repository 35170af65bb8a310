# The front door. `make` builds the Windows programs into build/win32/bin and
# the host tests; `make test` installs what is missing, builds and runs every
# test; `make run` shows the programs at work.

BUILD := build
WIN32_BUILD := $(BUILD)/win32
HOST_BUILD := $(BUILD)/host
JOBS ?= $(shell nproc)

.PHONY: all deps win32 host test run clean

all: win32 host

deps:
	bash scripts/install-deps.sh

win32:
	cmake -S . -B $(WIN32_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i686-w64-mingw32.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN32_BUILD) -j $(JOBS)

host:
	cmake -S . -B $(HOST_BUILD) -DZORVEK_WIN32_BIN=$(CURDIR)/$(WIN32_BUILD)/bin
	cmake --build $(HOST_BUILD) -j $(JOBS)

test: deps
	$(MAKE) all
	ctest --test-dir $(HOST_BUILD) --output-on-failure -j $(JOBS)

run: deps
	$(MAKE) all
	bash scripts/run.sh $(CURDIR)/$(WIN32_BUILD)/bin $(CURDIR)/$(BUILD)

clean:
	rm -rf $(BUILD)
