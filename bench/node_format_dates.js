// Reads YYYY-MM-DD lines on standard input and writes each as a Japanese era
// date, the way a Node program would do it with Intl: the yardstick for
// yomari-cli in cli_vs_node.sh. Streams, like yomari-cli.
'use strict';
const readline = require('readline');

const fmt = new Intl.DateTimeFormat('ja-JP-u-ca-japanese', {
  dateStyle: 'long', timeZone: 'UTC',
});

const rl = readline.createInterface({ input: process.stdin, crlfDelay: Infinity });
let out = [];
let size = 0;
function flush() {
  if (out.length) {
    process.stdout.write(out.join(''));
    out = [];
    size = 0;
  }
}
rl.on('line', (line) => {
  const m = /^(\d{1,4})-(\d{1,2})-(\d{1,2})$/.exec(line.trim());
  let text = '';
  if (m) {
    const t = Date.UTC(+m[1], +m[2] - 1, +m[3]);
    text = fmt.format(t);
  }
  out.push(text + '\n');
  if (++size >= 4096) flush();
});
rl.on('close', flush);
