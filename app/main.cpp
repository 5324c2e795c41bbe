#include <cstdio>
int main() { std::puts("orvana"); }
