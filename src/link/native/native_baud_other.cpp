// Systems whose termios has no way to a rate outside its table.
namespace kavir {

bool SetCustomBaud(int, int) { return false; }

}  // namespace kavir
