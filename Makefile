# Two commands set up everything: `make run` and `make test`. Both install what
# is missing first (tools/bootstrap).
BUILD_DIR ?= build
export BUILD_DIR

.PHONY: all run test fuzz dist bench bootstrap clean

all: bootstrap
	tools/configure-tree x86_64
	cmake --build $(BUILD_DIR)/x86_64

bootstrap:
	tools/bootstrap

test: bootstrap
	tools/run-tests

run: bootstrap
	tools/run-converter

fuzz: bootstrap
	tools/run-fuzz

dist: bootstrap
	tools/make-dist

bench: bootstrap
	tools/run-bench

clean:
	rm -rf $(BUILD_DIR)
