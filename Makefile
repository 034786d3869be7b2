# Thin wrappers over CMake; `make test` is what CI runs.
BUILD_TEST := build/test
BUILD_RELEASE := build/release
JOBS ?= 2

.PHONY: deps test build demo demo-gui screenshots clean format fuzz tsan bench

deps:
	@scripts/install-deps

$(BUILD_TEST)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKPZ_SANITIZE=ON

test: deps $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)

$(BUILD_RELEASE)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKPZ_TESTS=OFF

build: deps $(BUILD_RELEASE)/build.ninja
	cmake --build $(BUILD_RELEASE) -j $(JOBS)

# The demo: a simulated computer with two players, made afresh, and E: upgraded on it.
DEMO_OUT := $(BUILD_RELEASE)/demo
DEMO_RUN := $(BUILD_RELEASE)/src/cli/zarn-upgrade --machine $(DEMO_OUT)/machine.json

demo: build
	$(BUILD_RELEASE)/tools/demo/kpz-demo demo $(DEMO_OUT)
	$(DEMO_RUN) list
	$(DEMO_RUN) upgrade E:
	$(DEMO_RUN) list

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

# The benchmarks against cp (bench/RESULTS.md): a release build of its own in build/bench.
BENCH_REPETITIONS ?= 3
BENCH_FILTER ?= .
bench: deps
	BENCH_REPETITIONS=$(BENCH_REPETITIONS) BENCH_FILTER='$(BENCH_FILTER)' JOBS=$(JOBS) bench/run-bench

format:
	find src include tests tools bench -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs -r clang-format -i

clean:
	rm -rf build
