# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands of the README. Everything they need is installed by
# scripts/install-deps.sh on Debian and Ubuntu.
.PHONY: run test test-desktops deps build-release build-test package check-package bench fuzz clean format format-check check-layers translations

RELEASE_DIR := build/release
TEST_DIR    := build/test
BENCH_DIR   := build/bench
JOBS        ?= $(shell nproc)

deps:
	@bash scripts/install-deps.sh

build-release: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILVANE_TESTS=OFF -DQUILVANE_BENCH=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release
	@bash scripts/run-app.sh $(RELEASE_DIR)/bin/quilvane

build-test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILVANE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	@bash scripts/run-tests.sh $(TEST_DIR)

# The Debian package (build/release/quilvane_VERSION_ARCH.deb), built with
# all of Debian's hardening flags (bindnow too); check-package installs it,
# starts and quits the installed program, and removes it again (as root; CI
# runs it).
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
PACKAGE_FLAGS = -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CXXFLAGS) $$($(BUILDFLAGS) CPPFLAGS)" \
                -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)"
package: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILVANE_TESTS=OFF -DQUILVANE_BENCH=OFF $(PACKAGE_FLAGS)
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	rm -f $(RELEASE_DIR)/quilvane_*.deb
	cd $(RELEASE_DIR) && cpack -G DEB

check-package:
	@bash scripts/check-package.sh

# Sets pictures on each real desktop (installed by scripts/install-desktops.sh),
# started headless, and reads back what it draws; writes docs/desktops.md.
test-desktops: deps
	@bash scripts/install-desktops.sh
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILVANE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS) --target desktop_probe quilvane
	@bash tests/desktops/run.sh $(TEST_DIR)/bin/desktop_probe docs/desktops.md

bench: deps
	@bash scripts/install-bench-tools.sh
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILVANE_TESTS=OFF -DQUILVANE_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@bash scripts/run-bench.sh $(BENCH_DIR)

# Builds the libFuzzer targets with clang; run one with, for example,
#   build/fuzz/bin/tips_fuzz -max_total_time=600 tests/fuzz/corpus/tips
FUZZ_DIR    := build/fuzz
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILVANE_SANITIZE=ON -DQUILVANE_FUZZ=ON -DQUILVANE_TESTS=OFF -DQUILVANE_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)

# Brings res/translations/*.ts up to date with the program's texts (lupdate):
# new texts come in unfinished, for a translator to fill in.
translations: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILVANE_TESTS=OFF -DQUILVANE_BENCH=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target translations

# Reformats every tracked .cpp/.h with the checked-in .clang-format;
# format-check only lists the files that differ (CI runs it).
format:
	@bash scripts/check-format.sh --fix

format-check:
	@bash scripts/check-format.sh

# Fails on an #include against the layer direction (docs/architecture.md).
check-layers:
	@bash scripts/check-layers.sh

clean:
	rm -rf build
