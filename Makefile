# The two commands of the README: `make run` and `make test`. Both install the Debian
# packages that are missing, configure and build; nothing else needs to be done by hand.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2

.PHONY: all deps configure build run test bench check-ssh check-slurm clean format

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: $(BUILD_DIR)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

# Starts the workbench; without a display it runs on a virtual one.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ] || [ -n "$${QT_QPA_PLATFORM:-}" ]; then \
	  $(BUILD_DIR)/app/kinetra; \
	else \
	  echo "No display: starting the workbench on a virtual display (xvfb-run)."; \
	  xvfb-run -a -s "-screen 0 1600x1000x24" $(BUILD_DIR)/app/kinetra; \
	fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	cmake --build $(BUILD_DIR) -j$(JOBS) --target benchmarks
	bench/solver/run-solver-bench $(BUILD_DIR)
	bench/solver/run-console-bench $(BUILD_DIR)
	bench/studies/run-sweep-bench $(BUILD_DIR)

# A sweep over a real ssh login and on a real one-node Slurm cluster, each started privately for
# the check (they need openssh-server, and root with slurm-wlm; see docs/scale-out.md).
check-ssh: build
	scripts/check-ssh-sweep $(BUILD_DIR)

check-slurm: build
	scripts/check-slurm-sweep $(BUILD_DIR)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
