# Two commands do everything on a fresh Debian 12 or 13 machine (after `apt-get install make git`):
#   make run    install what building and running need, build, start the program
#   make test   install that and the test tools, build, run the whole test suite
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

# Debian packages: what building and running need (the compiler, CMake, Qt's development files
# and tools, the fonts the windows are laid out for), and what the tests, the packaging checks
# and the screenshots need on top.
RUN_PACKAGES  := cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
                 qt6-l10n-tools qt6-tools-dev qt6-translations-l10n fonts-dejavu-core
TEST_PACKAGES := xvfb xauth xdotool imagemagick \
                 desktop-file-utils appstream lintian dpkg-dev file x11-utils \
                 php-cli curl xclip x11-xserver-utils \
                 mutter dbus-x11 wmctrl x11-apps dbus-daemon at-spi2-core python3-pyatspi orca \
                 weston xwayland qt6-wayland qt6-gtk-platformtheme
# What `make setup` installs; other targets name their own.
PACKAGES ?= $(RUN_PACKAGES)

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all setup setup-test configure build run test clean format

all: build

setup:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

# The test tools on top of what the build needs.
setup-test:
	@$(MAKE) --no-print-directory setup PACKAGES="$(RUN_PACKAGES) $(TEST_PACKAGES)"

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTRESSORA_WERROR=ON $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) --parallel $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display found: Tressora is a desktop program and needs a graphical session."; \
	  echo "On a machine without a screen, try:  xvfb-run -a make run"; \
	  exit 1; \
	fi
	./$(BUILD)/tressora

test: setup-test build
	cd $(BUILD) && ctest --output-on-failure --parallel $(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)

# The Debian package, left as $(BUILD)/tressora_<version>_<arch>.deb.
.PHONY: package screenshots
package: build
	cd $(BUILD) && cpack -G DEB

# Screenshots of the quiz, result and refer-a-friend windows, and of the quiz window in each
# translation, shown in the README.
SCREENSHOT_LANGUAGES := de fr es
screenshots: build
	packaging/screenshots.sh $(BUILD)/tressora docs/screenshots
	for language in $(SCREENSHOT_LANGUAGES); do \
	  packaging/screenshots.sh $(BUILD)/tressora docs/screenshots $$language || exit 1; \
	done

# ---- Sanitizers, leak check, fuzzing ---------------------------------------------------------
#   make test-sanitize  the test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#   make valgrind       one scripted session (tests/tst_session) under Valgrind's leak check
#   make fuzz           the setting codec and the referral address under libFuzzer, briefly
SANITIZE_BUILD ?= build-sanitize
# Tests that drive the built program or package from outside gain nothing from this build.
SANITIZE_SKIP  ?= ^(e2e|pkg|packaging)
# intercept_tls_get_addr=0: GCC 12's runtime takes a thread-local block of a loaded library that
# happens to start 16 bytes into a page for one with an old glibc's header, reads a bogus range
# from before it, and its leak checker then dies scanning that range ("Tracer caught signal 11")
# after every test of the program has passed. Which block lands there depends on the heap's
# layout, so it comes and goes with unrelated changes; the program's own leaks are still found.
SANITIZE_ENV   := ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0 \
                  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:report_error_type=1

.PHONY: test-sanitize valgrind fuzz test-debian13 test-debian12

test-sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTRESSORA_SANITIZE=ON -DTRESSORA_WERROR=ON $(CMAKE_ARGS)
	cmake --build $(SANITIZE_BUILD) --parallel $(JOBS)
	cd $(SANITIZE_BUILD) && env $(SANITIZE_ENV) \
	  ctest --output-on-failure --parallel $(JOBS) -E '$(SANITIZE_SKIP)' -LE e2e

# The README's commands as a new user of Debian 13 runs them: a Debian 13 root made once with
# debootstrap (kept in ~/.cache/tressora and reused), a fresh clone of HEAD inside it, `make test`,
# `make run` until its window is on screen, then `make package` with the package installed by apt
# and started under Xvfb. Needs root.
test-debian13:
	@$(MAKE) --no-print-directory setup PACKAGES="debootstrap git"
	$(SUDO) tools/debian13/test-release.sh

# The same in a fresh Debian 12 root (kept as ~/.cache/tressora/debian12-test). CI runs `make test`
# on its own Debian 12 machine instead; this one starts from nothing, as a new user's machine does.
test-debian12:
	@$(MAKE) --no-print-directory setup PACKAGES="debootstrap git"
	$(SUDO) env TRESSORA_ROOT_SUITE=bookworm tools/debian13/test-release.sh

# One whole session (start, fifty calculations with Back, the about box, the refer-a-friend
# window, the end) under Valgrind. Fails on any memory error and on any block definitely lost
# from the program's own code; blocks that libraries keep for themselves are listed in
# tools/valgrind/thirdparty.supp. Slow, so not part of `make test`. Qt's regular expressions
# (the update prompt reads a stored date with one) run interpreted: Valgrind cannot follow the
# machine code PCRE2 writes at run time and reports that code's reads as of uninitialised values.
VALGRIND_LOG := $(abspath $(BUILD))/valgrind-session.log

valgrind: configure
	@$(MAKE) --no-print-directory setup PACKAGES=valgrind
	cmake --build $(BUILD) --parallel $(JOBS) --target tst_session
	cd $(BUILD) && env QT_QPA_PLATFORM=offscreen QT_ENABLE_REGEXP_JIT=0 \
	  XDG_CONFIG_HOME=$(abspath $(BUILD))/test-home/config \
	  XDG_RUNTIME_DIR=$(abspath $(BUILD))/test-home/runtime \
	  valgrind --leak-check=full --errors-for-leak-kinds=definite \
	    --show-leak-kinds=definite,indirect,possible --error-exitcode=97 --num-callers=40 \
	    --suppressions=$(CURDIR)/tools/valgrind/thirdparty.supp --log-file=$(VALGRIND_LOG) \
	    tests/tst_session -silent; \
	status=$$?; sed -n '/HEAP SUMMARY/,$$p' $(VALGRIND_LOG); \
	echo "Full report: $(VALGRIND_LOG)"; exit $$status

# The setting codec and the referral address under libFuzzer (clang), FUZZ_SECONDS each. New
# inputs go to $(FUZZ_BUILD)/corpus; the small seed corpora in tools/fuzz/corpus stay as they
# are. A failing input is left as $(FUZZ_BUILD)/crash-*.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := setting_codec referral_address

fuzz:
	@$(MAKE) --no-print-directory setup PACKAGES="cmake make clang libclang-rt-dev qt6-base-dev"
	cmake -S tools/fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) --parallel $(JOBS)
	@for target in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$target; \
	  echo "== fuzz_$$target for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(abspath $(FUZZ_BUILD))/ \
	    $(FUZZ_BUILD)/corpus/$$target tools/fuzz/corpus/$$target 2>$(FUZZ_BUILD)/fuzz_$$target.log; \
	  status=$$?; grep -E '^(Done|stat::)|property does not hold|ERROR|SUMMARY' $(FUZZ_BUILD)/fuzz_$$target.log; \
	  [ $$status -eq 0 ] || { echo "fuzz_$$target failed, see $(FUZZ_BUILD)/fuzz_$$target.log"; exit 1; }; \
	done

# Performance against a floor program that is bare Qt (a main window of the quiz window's size
# with a menu bar and a label): a release build in $(BENCH_BUILD), then start-up, memory,
# Calculate-to-result, a 10,000-calculation soak and the scoring rules, all under one virtual X
# server. Prints the table and writes it into docs/performance.md. Not a test: goals missed do
# not fail it.
BENCH_BUILD ?= build-bench

.PHONY: bench

bench: setup
	@$(MAKE) --no-print-directory setup PACKAGES="libxcb1-dev xvfb xauth dbus at-spi2-core"
	cmake -S bench -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTRESSORA_WERROR=ON $(CMAKE_ARGS)
	cmake --build $(BENCH_BUILD) --parallel $(JOBS)
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bench/run-bench.sh $(BENCH_BUILD)

# The translations in i18n/ refreshed from the sources: new texts are added unfinished, texts no
# longer in the program are dropped. The build compiles them into the program.
LUPDATE ?= /usr/lib/qt6/bin/lupdate
TRANSLATED_FOLDERS := quiz outreach about app widgets settings

.PHONY: translations
translations:
	$(LUPDATE) -no-obsolete -locations relative -I . $(TRANSLATED_FOLDERS) \
	  -ts i18n/tressora_de.ts i18n/tressora_fr.ts i18n/tressora_es.ts

# ---- Windows ----------------------------------------------------------------------------------
#   make windows        Tressora.exe for 64-bit Windows, its installer Tressora-<version>-setup.exe
#                       and the portable Tressora-<version>-portable.zip in $(WINDOWS_BUILD)
#   make test-windows   the same, then its test suites and the installed program under Wine
#   make screenshots-windows  pictures of its windows under Wine, docs/screenshots/windows-*.png
# Both work in a Debian 13 root made once with debootstrap (tools/debian13/root.sh, root
# "windows", kept in ~/.cache/tressora): the MinGW-w64 cross compilers, Qt cross-built once from
# Debian's qt6-base source and kept there, NSIS and Wine. Needs root. docs/windows.md says more.
WINDOWS_BUILD ?= build-windows

.PHONY: windows test-windows screenshots-windows
# Signing: TRESSORA_SIGN_CERT and TRESSORA_SIGN_KEY in the environment (docs/windows.md).
SIGN_ENV = $(foreach v,TRESSORA_SIGN_CERT TRESSORA_SIGN_KEY TRESSORA_SIGN_PASSWORD_FILE TRESSORA_SIGN_TIMESTAMP,$(if $($(v)),$(v)=$($(v))))

windows:
	@$(MAKE) --no-print-directory setup PACKAGES="debootstrap"
	$(SUDO) env TRESSORA_WINDOWS_BUILD=$(WINDOWS_BUILD) JOBS=$(JOBS) $(SIGN_ENV) tools/windows/windows.sh build

test-windows:
	@$(MAKE) --no-print-directory setup PACKAGES="debootstrap"
	$(SUDO) env TRESSORA_WINDOWS_BUILD=$(WINDOWS_BUILD) JOBS=$(JOBS) tools/windows/windows.sh test

screenshots-windows:
	@$(MAKE) --no-print-directory setup PACKAGES="debootstrap"
	$(SUDO) env TRESSORA_WINDOWS_BUILD=$(WINDOWS_BUILD) JOBS=$(JOBS) tools/windows/windows.sh screenshots
