# Entry points for people and CI; the README lists them.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
DATA ?= $(CURDIR)/out/data
CTEST_FLAGS ?= --output-on-failure -j $(JOBS) --timeout 300

.PHONY: setup build demo test test-sanitize format-check clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# The main job on the built-in simulator: connect, send conditions, measure,
# and write the four CSV files into $(DATA).
demo: build
	$(BUILD)/bin/kt520 --headless --simulate --sim-speed 20 --data-folder $(DATA) \
		--script examples/main-job.txt

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest $(CTEST_FLAGS)

test-sanitize: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKT520_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1 \
		ctest $(CTEST_FLAGS)

format-check: build
	bash scripts/setup.sh clang-format
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) --target format-check

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
