# Set-up in two commands: `make run` and `make test` (see README.md).
BUILD_DIR ?= build
BUILD_TYPE ?= Release
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS); \
	fi

build: configure
	@cmake --build $(BUILD_DIR) -j $$(nproc)

run: build
	@scripts/prepare-var
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "There is no display to open the window on: start it with 'xvfb-run -a make run', or run it from a desktop session."; \
	  exit 1; \
	fi
	@cd var && ../$(BUILD_DIR)/bin/marlow-pos --workdir .

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $$(nproc)

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
