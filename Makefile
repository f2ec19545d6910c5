# The two set-up commands: `make run` and `make check`. Each installs what it needs first.
SHELL := /bin/bash
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= 2
# The end-to-end tests mostly wait on their displays, so more of them than cores run at once.
TEST_JOBS ?= 4

BUILD_PKGS := cmake make g++ pkg-config qt6-base-dev libx11-dev libxtst-dev libxi-dev libgl-dev xvfb xauth \
              fonts-dejavu-core fonts-liberation2
TEST_PKGS := $(BUILD_PKGS) googletest libgtest-dev xdotool openbox wmctrl qt6-wayland \
             x11-xserver-utils x11-apps x11-utils imagemagick trayer \
             lintian appstream desktop-file-utils nsis dpkg-dev \
             dbus python3-dbusmock mutter kwin-wayland kwin-style-breeze sway xwayland grim jq \
             python3-pyatspi at-spi2-core dbus-daemon
# A StatusNotifier host for the tray, and busctl and python3 to act as one.
TEST_PKGS += waybar systemd python3

.PHONY: run check demo windows linux linux-asan package deps-build deps-test clean

# Installs only what is missing; apt-get update runs once, before the first install.
define install
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | \
	  grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
	    $$missing >/dev/null; \
	fi
endef

deps-build:
	$(call install,$(BUILD_PKGS))

deps-test:
	$(call install,$(TEST_PKGS))

# Only the program and what it installs: `make run` needs no GoogleTest. The preset turns the
# tests on again for `make check`.
linux: deps-build
	cmake --preset linux -DVESK_TESTS=OFF >/dev/null
	cmake --build --preset linux -j $(JOBS)

linux-asan: deps-test
	cmake --preset linux-asan >/dev/null
	cmake --build --preset linux-asan -j $(JOBS)

run: linux
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != offscreen ]; then \
	  echo "No display: run it on a virtual one with 'xvfb-run -a make run', or see 'make demo'."; \
	  exit 1; \
	fi
	./build/linux/vesk-lights

demo: deps-test linux
	tools/demo.sh build/linux/vesk-lights docs

windows: deps-test
	@bash cmake/windows-toolchain-check.sh && { \
	  cmake --preset windows >/dev/null && cmake --build --preset windows -j $(JOBS); }

check: deps-test
	JOBS=$(JOBS) TEST_JOBS=$(TEST_JOBS) bash cmake/check.sh

# The Debian package from a Release build with Debian's own flags, and the Windows installer.
package: deps-test
	cmake -S . -B build/deb -DCMAKE_BUILD_TYPE=Release -DVESK_TESTS=OFF -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	cmake --build build/deb -j $(JOBS)
	cd build/deb && cpack -G DEB -B cpack >/dev/null
	rm -f build/packages/vesk-lights_*.deb build/packages/VESK-LIGHTS-*-setup.exe
	mkdir -p build/packages && cp build/deb/cpack/vesk-lights_*.deb build/packages/
	lintian build/packages/vesk-lights_*.deb
	@if bash cmake/windows-toolchain-check.sh install; then \
	  cmake --preset windows >/dev/null && cmake --build --preset windows -j $(JOBS) --target installer && \
	  cp build/windows/packages/VESK-LIGHTS-*-setup.exe build/packages/; \
	else echo "Windows installer skipped: the MinGW-w64 toolchain cannot be installed here."; fi
	@ls -l build/packages

clean:
	rm -rf build
