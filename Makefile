# Quorix: the two commands a user needs are `make run` and `make test`.
# Both install missing Debian packages first (scripts/install-deps.sh).

BUILD ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo

# ccache shares objects between checkouts of the same tree.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# Preprocessor mode: direct mode would hand out objects compiled in a checkout where a
# header tested with __has_include did not exist yet.
export CCACHE_NODIRECT := 1

CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
ifneq ($(shell command -v ccache 2>/dev/null),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: all deps configure build run test asan fuzz bench clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/quorix

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Tests under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=ON \
		$(filter -DCMAKE_CXX_COMPILER_LAUNCHER=%,$(CMAKE_FLAGS)) >/dev/null
	cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS)

# libFuzzer targets of the parsers that read bytes from disk (clang).
fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DQUORIX_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++ >/dev/null
	cmake --build build-fuzz -j$(JOBS)
	./scripts/run-fuzzers.sh build-fuzz

bench: build
	./scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf build build-asan build-fuzz
