# The two set-up commands of the README: `make run` and `make test`; `make package` builds the
# Debian package into build/default/packages.
.PHONY: run test deps build build-asan demo-drive clean format package

DEMO_DRIVE ?= $(CURDIR)/build/demo-drive
# Further configure options, e.g. CMAKE_ARGS=-DTARVOMEN_WERROR=ON as CI builds.
CMAKE_ARGS ?=

deps:
	./scripts/install-deps

build: deps
	cmake --preset default $(CMAKE_ARGS)
	cmake --build --preset default

build-asan: deps
	cmake --preset asan $(CMAKE_ARGS)
	cmake --build --preset asan

test: build build-asan
	ctest --preset default
	ctest --preset asan

package: build
	cd build/default && cpack

run: build
	./scripts/run-demo "$(DEMO_DRIVE)"

format:
	clang-format -i $$(git ls-files '*.cpp' '*.hpp')

clean:
	rm -rf build
