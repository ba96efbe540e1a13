// What the sanitizers do in a program of ours unless the environment says otherwise: a
// stack with every undefined-behaviour report, and no report of the leaks made inside the
// libraries we use (cmake/sanitizer-suppressions/leaks.supp says which, and why).
extern "C" {

const char *__ubsan_default_options() { return "print_stacktrace=1"; }

const char *__lsan_default_options() {
  return "print_suppressions=0:suppressions=" LEAK_SUPPRESSIONS;
}

// The game library unloads its sound and graphics driver modules, and libGL its driver, at
// exit, before the leak check runs; a leak made in one would then come from "<unknown
// module>", which no suppression can name. In a sanitized program they stay loaded.
int dlclose(void *) { return 0; }
}
