# The native build: the portable core proven without <windows.h>, its unit tests, benchmarks and tools.
