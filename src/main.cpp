// The program's entry procedure. The main window arrives with its own
// change; until then the program starts and ends at once.
int main() {
    return 0;
}
