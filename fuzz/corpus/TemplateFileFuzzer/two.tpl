[if | if statement]
if (|)
[for|loop]
for
  x
