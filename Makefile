# The two commands a person needs: `make run` starts the game, `make test`
# runs the whole suite (plain and sanitized). Both install what is missing.
# The builds themselves are the presets of CMakePresets.json: plain (build/),
# sanitized (build-asan/) and bench (build-bench/).
#
# WERROR=OFF builds the plain and sanitized presets with warnings left as
# warnings, for a tree that is not clean yet.

SHELL  := /bin/bash
JOBS   ?= $(shell nproc 2>/dev/null || echo 2)
XVFB   := xvfb-run -a -s "-noreset -screen 0 1920x1200x24"
WERROR ?= ON

CONFIGURE_ARGS := -DCLAMBER_WERROR=$(WERROR)

# The game's own sources, which `make tidy` checks (not the tests).
GAME_SOURCES = $(shell git ls-files 'app/*.cpp' 'audio/*.cpp' 'world/*.cpp' 'objects/*.cpp' 'actors/*.cpp' \
                 'input/*.cpp' 'gfx/*.cpp' 'common/*.cpp')

.PHONY: all deps configure build run test test-plain test-asan bench package tidy format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset plain $(CONFIGURE_ARGS) >/dev/null

build: configure
	@cmake --build --preset plain -j $(JOBS)

# Only the game and what installing it takes (its compressed manual page and
# changelog): a first `make run` need not build the test suite.
run: configure
	@cmake --build --preset run -j $(JOBS)
	build/clamber

test: test-plain test-asan

test-plain: build
	$(XVFB) ctest --preset plain

test-asan: deps
	@cmake --preset sanitized $(CONFIGURE_ARGS) >/dev/null
	@cmake --build --preset sanitized -j $(JOBS)
	$(XVFB) ctest --preset sanitized

bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	$(XVFB) scripts/run-benchmarks build-bench

# The Debian package of the plain build: build/clamber_<version>_<arch>.deb.
# cpack itself builds nothing, so what it packages is built first.
package: configure
	@cmake --build --preset run -j $(JOBS)
	cpack --preset deb

# clang-tidy with the repository's .clang-tidy over the game's sources, with
# the plain build's compile commands; any finding fails. The counts of what
# was filtered out of system headers are left out of the output.
tidy: configure
	@set -o pipefail; printf '%s\n' $(GAME_SOURCES) | \
	  xargs -P $(JOBS) -n 4 clang-tidy -p build --quiet --warnings-as-errors='*' 2>&1 | \
	  { grep -Ev '^[0-9]+ warnings? generated\.$$' || true; }

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-bench
