/* The smallest 32-bit Windows program: it exits 42 wherever 32-bit code runs at all. */
int main(void) {
    return 42;
}
