// Compiles the precompiled headers once; the other targets reuse them.
