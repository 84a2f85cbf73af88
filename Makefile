# Two commands do everything on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run the whole test suite
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

# Debian packages the build, the tests and the screenshots need.
PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
            fonts-dejavu-core xvfb xauth xdotool imagemagick \
            desktop-file-utils appstream lintian dpkg-dev file

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all setup configure build run test clean format

all: build

setup:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTRESSORA_WERROR=ON $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) --parallel $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: Tressora is a desktop program and needs a graphical session."; \
	  echo "On a machine without a screen, try:  xvfb-run -a make run"; \
	  exit 1; \
	fi
	./$(BUILD)/tressora

test: build
	cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)

# The Debian package, left as $(BUILD)/tressora_<version>_<arch>.deb.
.PHONY: package
package: build
	cd $(BUILD) && cpack -G DEB
