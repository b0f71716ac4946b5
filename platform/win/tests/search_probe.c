/* A library with one export and none of the names the tool looks for: it
 * stands for a planted library, and for a library under a wrong name. */
__declspec(dllexport) int vexlow_search_probe(void) {
  return 42;
}
