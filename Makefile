# `make run` and `make test` do all set-up on a fresh Debian machine.
.PHONY: run bench stall test deps build-release build-debug build-asan format format-check clean fuzz

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

# The stall measurement (newsdesk --stats) at market open over views of a
# million headlines each; STALL_PRESET=debug measures the debug build.
STALL_PRESET ?= release
STALL_HEADLINES ?= 1000000
stall: build-$(STALL_PRESET)
	scripts/stall build/$(STALL_PRESET) $(STALL_HEADLINES)

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

# Crash trials: TRIALS times, a writer of the settings store or of the news
# store is killed (SIGKILL) at a random moment, and both stores are checked.
# SEED=S repeats a run (the seed is printed). Fails on any finding.
.PHONY: crashtest
TRIALS ?= 1000
crashtest: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target kqcrashtrial sample_data
	build/release/tools/kqcrashtrial --feed build/release/data/sample/news.kqfeed \
	  --trials $(TRIALS) $(if $(SEED),--seed $(SEED))

# The soak: newsdesk's automation with views in every mode takes the eight-day
# sample PASSES times over at full speed, dates shifted each pass, and reads
# its resident memory after each pass (scripts/soak prints the table).
# soak-asan runs fewer passes in the asan build: its leak report must be
# empty, and LSAN lists any suppression it used.
.PHONY: soak soak-asan
PASSES ?= 20
ASAN_PASSES ?= 3
soak: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target newsdesk kq_newsview sample_data
	scripts/soak build/release $(PASSES)

soak-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS) --target newsdesk kq_newsview sample_data
	ASAN_OPTIONS=detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=1 \
	  scripts/soak build/asan $(ASAN_PASSES)
