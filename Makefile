# Thin wrappers over CMake; `make test` is what CI runs.
BUILD_TEST := build/test
BUILD_RELEASE := build/release
JOBS ?= 2

.PHONY: deps test build demo demo-gui screenshots package bench clean format fuzz tsan
.PHONY: deps-windows windows test-windows test-windows-dialogs windows-installer test-windows-installer
.PHONY: screenshots-windows

deps:
	@scripts/install-deps

$(BUILD_TEST)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKPZ_SANITIZE=ON

# The Linux suites, then the Windows build's suites under Wine and the differential check.
test: deps $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) windows
	JOBS=$(JOBS) scripts/windows-tests $(BUILD_WINDOWS) $(BUILD_TEST)

# The 32-bit Windows build (MinGW-w64): kpzdetect.dll, zarn-upgrade.exe, the tools and the
# suites, which test-windows runs under Wine as a user who is not root.
BUILD_WINDOWS := build/windows

deps-windows:
	@scripts/install-deps windows

$(BUILD_WINDOWS)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

windows: deps-windows $(BUILD_WINDOWS)/build.ninja
	cmake --build $(BUILD_WINDOWS) -j $(JOBS)

test-windows: windows
	JOBS=$(JOBS) scripts/windows-tests $(BUILD_WINDOWS)

# The native windows' suite: real dialogs under Wine on a virtual display of its own. Run on
# the 64-bit twin where the machine runs no 32-bit code.
test-windows-dialogs: windows
	@run=$$(scripts/windows-tests --run-build $(BUILD_WINDOWS)) && \
	cmake --build $$run -j $(JOBS) --target win32ui_tests && scripts/windows-window-tests $$run

# The installer, ZarnUpgradeUtility-Setup.exe in the Windows build, from the demo's installation
# or from the folder INSTALLATION names (make windows-installer INSTALLATION=dir).
INSTALLATION ?=
windows-installer: windows
	scripts/windows-installer $(BUILD_WINDOWS) $(INSTALLATION)

# The installer under Wine: installed, listing the demo's players, uninstalled (on the 64-bit
# twin where the machine runs no 32-bit code).
test-windows-installer: windows
	@run=$$(scripts/windows-tests --run-build $(BUILD_WINDOWS)) && \
	cmake --build $$run -j $(JOBS) --target KPZPortableDeviceSystemFileUpdater zarn-upgrade kpzdetect && \
	tests/integration/windows_installer.sh $$run

# Pictures of the native windows under Wine, title bars included, beside the Linux ones (on
# the 64-bit twin where the machine runs no 32-bit code).
screenshots-windows: windows
	@run=$$(scripts/windows-tests --run-build $(BUILD_WINDOWS)) && \
	cmake --build $$run -j $(JOBS) --target kpz-screenshots kpz-demo && \
	scripts/windows-screenshots $$run $(SCREENSHOTS_OUT)/windows

$(BUILD_RELEASE)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKPZ_TESTS=OFF

build: deps $(BUILD_RELEASE)/build.ninja
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

# The demo: a simulated computer with two players, made afresh, and E: upgraded on it; then
# the Windows 98 and Me computers list their players.
DEMO_OUT := $(BUILD_RELEASE)/demo
ZARN_UPGRADE := $(BUILD_RELEASE)/src/cli/zarn-upgrade
DEMO_RUN := $(ZARN_UPGRADE) --machine $(DEMO_OUT)/machine.json

demo: build
	$(BUILD_RELEASE)/tools/demo/kpz-demo demo $(DEMO_OUT)
	$(DEMO_RUN) list
	$(DEMO_RUN) upgrade E:
	$(DEMO_RUN) list
	$(ZARN_UPGRADE) --machine $(DEMO_OUT)/win98/machine.json list
	$(ZARN_UPGRADE) --machine $(DEMO_OUT)/winme/machine.json list

# The same computer in the desktop program's main window, for the mouse.
demo-gui: build
	$(BUILD_RELEASE)/tools/demo/kpz-demo demo $(DEMO_OUT)
	$(DEMO_RUN) gui

# Pictures of the windows on the demo computer, taken under Xvfb, for holding against the layout.
SCREENSHOTS_OUT := $(BUILD_RELEASE)/screenshots

screenshots: build
	$(BUILD_RELEASE)/tools/demo/kpz-demo demo $(DEMO_OUT)
	xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD_RELEASE)/tools/screenshots/kpz-screenshots \
		--machine $(DEMO_OUT)/machine.json --out $(SCREENSHOTS_OUT)
	# This computer's window with a real player on a loop device (as root; skipped otherwise).
	tests/integration/loop_player.sh $(BUILD_RELEASE) $(BUILD_RELEASE)/tools/database/kpz-dbwrite \
		$(BUILD_RELEASE)/tools/firmware/kpz-mkfirmware --screenshots $(SCREENSHOTS_OUT)/loop-player \
		$(BUILD_RELEASE)/tools/screenshots/kpz-screenshots || [ $$? -eq 77 ]

# A .deb of the installation (below /usr), made by CPack from the release build.
package: build
	cd $(BUILD_RELEASE) && cpack -G DEB

# The benchmarks, in a release build of their own (build/bench): side by side with cp, the
# figures as Markdown for bench/RESULTS.md, and the host's drive table.
BENCH_REPETITIONS ?= 3
BENCH_FILTER ?= .
bench: deps
	BENCH_REPETITIONS=$(BENCH_REPETITIONS) BENCH_FILTER='$(BENCH_FILTER)' JOBS=$(JOBS) bench/run-bench

# The libFuzzer targets, each for FUZZ_SECONDS on its corpus (clang, ASan/UBSan).
FUZZ_SECONDS ?= 60
fuzz: deps
	scripts/fuzz $(FUZZ_SECONDS)

# The front end's run tests under ThreadSanitizer.
BUILD_TSAN := build/tsan
$(BUILD_TSAN)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_TSAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKPZ_TSAN=ON

tsan: deps $(BUILD_TSAN)/build.ninja
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target app_tests
	TSAN_OPTIONS=halt_on_error=1 $(BUILD_TSAN)/tests/app/app_tests

format:
	find src include tests tools bench -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf build
