int kq_not_a_module_marker(void) { return 42; }
