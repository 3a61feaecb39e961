# The column rule as a user would write it in awk: in each row, every field from the fourth on whose
# text was already seen among those fields is emptied. Text after the last ';' is dropped.
BEGIN { ORS = "" }
{
    n = split($0, field, ";")
    split("", seen)
    out = ""
    for (i = 1; i < n; i++) {
        if (i >= 4 && field[i] != "") {
            if (field[i] in seen) field[i] = ""
            else seen[field[i]] = 1
        }
        out = out field[i] ";"
    }
    print out "\n"
}
