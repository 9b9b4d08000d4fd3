# Shortcuts for developers; `bash run.sh` and `bash test.sh` are the two commands (they need only bash).
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
DEPS_STAMP := build/.deps-checked

.PHONY: run test bench build deps clean format screenshot install

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build build/release -j $(JOBS)

run:
	bash run.sh

# The program, its desktop entry, icon and metainfo under PREFIX (DESTDIR is honoured for
# staging). Installed straight into a system, the desktop's caches are refreshed too, so
# the folder menus offer "Open with Quillmere" and a stale icon cache does not hide the icon.
PREFIX ?= /usr/local
install: build
	cmake --install build/release --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ] && command -v update-desktop-database >/dev/null; then \
	  update-desktop-database -q "$(PREFIX)/share/applications" || true; fi
	@if [ -z "$(DESTDIR)" ] && [ -f "$(PREFIX)/share/icons/hicolor/icon-theme.cache" ] && \
	  command -v gtk-update-icon-cache >/dev/null; then \
	  gtk-update-icon-cache -q -t "$(PREFIX)/share/icons/hicolor" || true; fi

test:
	bash test.sh

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BENCHMARKS=ON -DQUILLMERE_TESTS=OFF
	cmake --build build/bench -j $(JOBS)
	./build/bench/bench/quillmere_bench $(BENCH_ARGS)

# The window benchmark under Xvfb: start-up, a 100,000-entry folder, memory and key
# latency, each beside a minimal QTableView program (BENCH_ARGS='--runs 9' for more runs).
.PHONY: bench-window
bench-window: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BENCHMARKS=ON -DQUILLMERE_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target quillmere_window_bench quillmere_minimal_table
	xvfb-run -a -s "-screen 0 1280x800x24" ./build/bench/bench/quillmere_window_bench $(BENCH_ARGS)

# The copy benchmark: cp -a, TransferRunner::copy, and the copy with progress and journal
# as the application runs it, alternating, on a 1 GB tree and a 100,000-entry tree
# generated under $$TMPDIR or /tmp (BENCH_ARGS='--runs 9 --tree many' and so on).
.PHONY: bench-copy
bench-copy: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BENCHMARKS=ON -DQUILLMERE_TESTS=OFF
	cmake --build build/bench -j $(JOBS) --target quillmere_copy_bench
	./build/bench/bench/quillmere_copy_bench $(BENCH_ARGS)

# The README's screenshots, rendered offscreen from the real window (Japanese names need a CJK font).
screenshot: build
	@dpkg-query -W fonts-noto-cjk >/dev/null 2>&1 || $(if $(filter 0,$(shell id -u)),,sudo) apt-get install -y -qq --no-install-recommends fonts-noto-cjk
	QT_QPA_PLATFORM=offscreen ./build/release/tools/quillmere_screenshot docs/screenshot.png en
	QT_QPA_PLATFORM=offscreen ./build/release/tools/quillmere_screenshot docs/screenshot-ja.png ja
	QT_QPA_PLATFORM=offscreen ./build/release/tools/quillmere_screenshot docs/screenshot-palette.png en palette
	QT_QPA_PLATFORM=offscreen ./build/release/tools/quillmere_screenshot docs/screenshot-batch-rename.png en batch
	QT_QPA_PLATFORM=offscreen ./build/release/tools/quillmere_screenshot docs/screenshot-progress.png en progress
	QT_QPA_PLATFORM=offscreen ./build/release/tools/quillmere_screenshot docs/screenshot-trash.png en trash

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
