# `make run` and `make test` do all set-up on a fresh Debian machine.
.PHONY: run bench test deps build-release build-debug build-asan format format-check clean fuzz

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

# The main job: the terminal, replaying the sample day as live news. Without
# a display the window is rendered offscreen and its screenshot is written to
# build/release/newsdesk.png (the path is printed).
run: build-release
	cd build/release && ./host/newsdesk $(ARGS)

# Every benchmark of the release build, one after the other.
bench: build-release
	@set -e; for b in build/release/bench/*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b"; fi; \
	done

test: build-debug build-asan
	ctest --preset debug --no-tests=error --output-on-failure
	ctest --preset asan --no-tests=error --output-on-failure

# Every fuzz target for SECONDS seconds each (clang's libFuzzer, with the
# address and undefined-behaviour sanitizers); fails on any finding.
SECONDS ?= 60
FUZZ_TARGETS = condition_fuzz feed_fuzz ini_fuzz story_fuzz script_fuzz store_fuzz
fuzz:
	@scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	scripts/run-fuzz $(SECONDS) $(FUZZ_TARGETS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# What CI checks: every tracked source as clang-format writes it.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build
