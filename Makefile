# The two front doors: `make run` opens the program, `make test` builds every
# preset and runs every test. Both install what they need first.
.PHONY: all deps run test test-linux test-win64 build-win32 clean

all: test

deps:
	@bash scripts/install-deps.sh

run: deps
	cmake --preset linux
	cmake --build --preset linux
	bash scripts/run-demo.sh

test: deps test-linux test-win64 build-win32

test-linux:
	cmake --preset linux
	cmake --build --preset linux
	ctest --preset linux

test-win64:
	cmake --preset win64
	cmake --build --preset win64
	bash scripts/with-wine.sh build/win64 ctest --preset win64

build-win32:
	cmake --preset win32
	cmake --build --preset win32

clean:
	rm -rf build demo
