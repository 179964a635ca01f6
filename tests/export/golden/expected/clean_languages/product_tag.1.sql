INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (2,1);
INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (2,2);
INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (3,3);
INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (1,4);
INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (1,5);
INSERT INTO `ps_product_tag` (`id_product`,`id_tag`) VALUES (1,6);
