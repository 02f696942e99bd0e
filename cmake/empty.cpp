// Keeps a module library valid while its folder holds only headers.
