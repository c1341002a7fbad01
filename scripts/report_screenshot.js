// The README's picture of a report: the page in headless Chromium (the
// puppeteer-core and Chromium of the browser test), sorted by "Years since"
// and a row under the pointer, the top of the page.
//   node scripts/report_screenshot.js REPORT.html PICTURE.png
'use strict';
const path = require('path');
const { pathToFileURL } = require('url');
const puppeteer = require('puppeteer-core');

async function main() {
  const [report, picture] = process.argv.slice(2);
  const browser = await puppeteer.launch({
    executablePath: process.env.VELMORA_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none'],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1200, height: 1040, deviceScaleFactor: 1 });
    await page.goto(pathToFileURL(path.resolve(report)).href, { waitUntil: 'load' });
    await page.click('#marks thead th:nth-child(4) button');
    await page.hover('#marks tbody tr:nth-child(3) td:nth-child(2)');
    await page.screenshot({ path: picture });
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
