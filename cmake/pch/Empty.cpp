// Nothing: the library exists to build the precompiled header the other targets reuse.
