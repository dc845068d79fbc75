namespace quorrix::swsim {
}
