// Sorting a report's table in headless Chromium: for each click on a
// heading, the time from the click to the table laid out again
// (performance.now() around the click, which runs the handler, and a forced
// layout), median of the clicks.
//   node bench/report_sort_bench.js REPORT.html [CLICKS]
'use strict';
const path = require('path');
const { pathToFileURL } = require('url');
const puppeteer = require('puppeteer-core');

async function main() {
  const [report, clicksText] = process.argv.slice(2);
  const clicks = Number(clicksText || 9);
  const browser = await puppeteer.launch({
    executablePath: process.env.VELMORA_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu'],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1200, height: 900 });
    await page.goto(pathToFileURL(path.resolve(report)).href, { waitUntil: 'load' });
    const figures = await page.evaluate((count) => {
      const buttons = document.querySelectorAll('#marks thead th button');
      const rows = document.querySelectorAll('#marks tbody tr').length;
      const byColumn = {};
      // Years since, Designation, Newest find, Logs: numbers, texts, dates.
      for (const column of [3, 1, 2, 7]) {
        const times = [];
        for (let i = 0; i < count; ++i) {
          const start = performance.now();
          buttons[column].click();
          void document.body.offsetHeight;  // the layout of the sorted table
          times.push(performance.now() - start);
        }
        times.sort((a, b) => a - b);
        byColumn[buttons[column].textContent] = {
          first: times.length && times[0], median: times[Math.floor(times.length / 2)],
          max: times[times.length - 1],
        };
      }
      return { rows, byColumn };
    }, clicks);
    console.log(JSON.stringify({ chromium: await browser.version(), clicks, ...figures }, null, 1));
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
