# `make run` and `make test` do all set-up on a fresh Debian machine.
.PHONY: run test deps build-release build-debug build-asan format clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

build-release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

build-debug: deps
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

# The main job. Without a display the window is rendered offscreen and its
# screenshot is written to build/release/kqlayerdemo.png.
run: build-release
	cd build/release && ./host/kqlayerdemo $(ARGS)

test: build-debug build-asan
	ctest --preset debug --no-tests=error --output-on-failure
	ctest --preset asan --no-tests=error --output-on-failure

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
