/* The least a run can cost: read each script whole, write it to a temporary
 * file beside it, flush that, rename it over the script and flush the
 * directory. No parsing. Usage: floor SCRIPT...; status 1 on any failure. */
#include <fcntl.h>
#include <libgen.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static int rewrite(const char *path) {
  int in = open(path, O_RDONLY);
  struct stat st;
  if (in < 0 || fstat(in, &st) != 0) return 1;
  char *bytes = malloc(st.st_size + 1);
  if (bytes == NULL || read(in, bytes, st.st_size) != st.st_size) return 1;
  close(in);
  char dir[4096], temp[4096 + 16];
  snprintf(dir, sizeof dir, "%s", path);
  snprintf(temp, sizeof temp, "%s/.floor-XXXXXX", dirname(dir));
  int out = mkstemp(temp);
  if (out < 0 || write(out, bytes, st.st_size) != st.st_size || fsync(out) != 0 || close(out) != 0 ||
      rename(temp, path) != 0)
    return 1;
  free(bytes);
  int d = open(dir, O_RDONLY | O_DIRECTORY);
  if (d < 0 || fsync(d) != 0) return 1;
  return close(d);
}

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i)
    if (rewrite(argv[i]) != 0) return perror(argv[i]), 1;
  return 0;
}
